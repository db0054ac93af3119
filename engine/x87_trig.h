#pragma once

// The processor's sine and cosine (x87 fsin/fcos/fsincos). An argument of
// magnitude 2^63 or more, which the instructions cannot reduce, gives 0.
long double ProcessorSin(long double x);
long double ProcessorCos(long double x);
void ProcessorSinCos(long double x, long double& sine, long double& cosine);
