#pragma once
// Everything a host app may use.
#include "sdk/core/FatalError.hpp"
