#pragma once
// The check that stops a message handler at a programmer's error.

// A programmer's error caught where it is made (a control that could not be attached, a binding
// refused): thrown, so that the handler it happens in ends and reports it, in every build.
void VerifyInvariant(bool holds, const char* what);
