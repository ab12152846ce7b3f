#pragma once
// The kill tests' files, from the shared builder.
#include "support/settings_text.h"
