// Marks a function as one of the driver's exports: C linkage, visible by its plain name.
#pragma once

#define VIREO_EXPORT extern "C" __attribute__((visibility("default")))
