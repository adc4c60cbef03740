// Every program of the suite with its descriptor, for the tests that check them all.
#pragma once

#include "tools/catalog.h"
