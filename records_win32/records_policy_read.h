// The record log's Group Policy, read from the registry (records/records_policy.h).
#pragma once

#include "records/records_policy.h"

// Each value from HKLM's policy key when it is there, else from HKCU's; a REG_EXPAND_SZ folder
// with its variables expanded. A value set with another type is invalid, never taken as not set
// (records_policy_from).
void records_policy_read(RecordsPolicy* policy);
