#include "shell/Main.h"
