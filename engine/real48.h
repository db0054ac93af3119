#pragma once

// Rounds an extended value to the 6-byte real format (sign, 8-bit exponent,
// 40-bit significand with the hidden bit): the first dropped bit rounds away
// from zero; too small gives 0; too large throws "Floating point overflow".
long double Store6(long double x);
