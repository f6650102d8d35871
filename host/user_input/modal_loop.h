// The heart of a modal loop: taking one queued message and handling it. The window and each of its
// parents see it first (PreTranslateMessage, where a dialog handles its keys); if none of them
// handled it, it goes to the window.
#pragma once

/// Handles the next queued message; false when the queue is empty.
bool PumpMessage();
