// Which side of a rounding midpoint exp(x) lies on, decided exactly: the last step of the
// correctly rounded exp, for the few arguments whose rounding the fast evaluation leaves open.
#pragma once

// True when exp(x) exceeds the midpoint between `below` and the next long double above it
// (below positive and normal, x not 0). Exactly, never by a rounded value of exp(x).
bool expAboveMidpoint(long double x, long double below);
