#pragma once
// The decimal separator of the user's regional settings, which the text reports use for spot
// lengths. Everything else keeps "."; the process-wide locale is never switched.

// Windows: the user default locale's decimal separator. Elsewhere: the radix character of the
// environment's LC_NUMERIC. A separator that is not one Windows-1250 byte gives '.'.
char UserDecimalSeparator();
