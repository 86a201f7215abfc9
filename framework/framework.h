#pragma once
// Our small application layer over the Win32 W API, in one include: the text helpers, the
// message boxes, windows with a message table per class, modal dialogs, the list view, a font
// and the wait cursor, and the application object. Each lives in a file of its own here.
#include "framework/dialog.h"
#include "framework/font_cursor.h"
#include "framework/invariant.h"
#include "framework/list_ctrl.h"
#include "framework/message_box.h"
#include "framework/win_app.h"
#include "framework/win_text.h"
#include "framework/wnd.h"
