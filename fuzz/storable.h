#pragma once

#include "harness.h"
