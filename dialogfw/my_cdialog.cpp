#include "dialogfw/my_cdialog.h"
