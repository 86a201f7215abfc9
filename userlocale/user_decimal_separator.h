#pragma once
// The decimal separator of the user's regional settings, asked by the programs (the window and
// the command line) and handed to the report writers, which use it for the spot lengths of the
// text reports. Everything else keeps "."; the process-wide locale is never switched.

// Windows: the user default locale's decimal separator. Elsewhere: the radix character of the
// environment's LC_NUMERIC. A separator that is not one Windows-1250 byte gives '.'.
char UserDecimalSeparator();
