#pragma once
// Programmer's errors caught where they are made.

// A programmer's error caught where it is made (a control that could not be attached, a binding
// refused): thrown, so that the handler it happens in ends and reports it, in every build.
void VerifyInvariant(bool holds, const char* what);
