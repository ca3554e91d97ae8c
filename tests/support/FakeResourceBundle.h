// The bundle substitute lives with the other shell substitutes, in ShellFixture.h.
#pragma once

#include "ShellFixture.h"
