// The six device properties: their defaults, how they are shown to the host and how edited texts
// become values.
#pragma once

#include <cstdint>

#include "platform/arrays.h"

constexpr int kPropertyCount = 6;

/// Sets the list to the six default values.
void SetDefaultProperties(CArray<int32_t>& values);

/// Fills names, values and enumerated flags with six entries each. A position the stored list lacks
/// shows its default; an enumerated value outside its texts shows as its number.
void DescribeProperties(const CArray<int32_t>& values, CStringArray& names, CStringArray& texts, CByteArray& enumerated);

/// Takes edited texts position by position for the positions whose name matches. A list shorter
/// than six is first extended with defaults up to the highest position set. The invalid-argument
/// exception when a matching position has no value text.
void TakeProperties(CArray<int32_t>& values, const CStringArray& names, const CStringArray& texts);

/// Appends the value texts of every enumerated property with this name (ignoring case).
void AppendPropertyValueTexts(const CString& name, CStringArray& texts);
