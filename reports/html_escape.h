#pragma once
// Text from the logs, the booking file and the folders made safe for a page, and read back.
// Windows-1250 in, UTF-8 markup out.
#include <string>
#include <string_view>

// For an element's content: "&", "<", ">" and the no-break space as references, control
// characters as their visible Unicode pictures (a name may end in CR LF). For the eye only: the
// pictures cannot be told from the same characters in a name.
std::string HtmlText(std::string_view cp1250);

// For an attribute value in double quotes, which a program reads back with HtmlAttributeText:
// "&", "<", ">", '"', the control characters and the five bytes the code page leaves undefined
// as references, every other character as itself.
std::string HtmlAttribute(std::string_view cp1250);

// The Windows-1250 text of an attribute value HtmlAttribute wrote (also "&nbsp;", which earlier
// pages held). False for a reference it never writes, for a character it always writes as one,
// for a NUL, for bytes that are not UTF-8, and for a character the code page lacks.
[[nodiscard]] bool HtmlAttributeText(std::string_view html, std::string& cp1250);
