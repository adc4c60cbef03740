#include "ui/commands.h"

void record_save() {}
