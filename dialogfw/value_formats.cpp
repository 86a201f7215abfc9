#include "dialogfw/value_formats.h"
