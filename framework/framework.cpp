#include "framework/framework.h"
