// Dialog templates lay controls out in small dialog units: a push button is often 13 units (about
// 21 pixels) high. The toolkit's default theme pads buttons and entries beyond that, so dialogs
// get a compact style sheet that lets every control fit its template rectangle.
#pragma once

/// Installs the compact style sheet for the whole display (once; later calls do nothing).
void UseCompactControlStyle();
