#include "link/link.h"
