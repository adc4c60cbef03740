// Where the record files lie on Windows: the folder that Group Policy names, or else the folder
// below the user's local application-data folder, made when it is missing.
#pragma once

#include "records/records_policy.h"

#include "records/record_lines.h"

// The records folder of the logged-on user. False when the application-data folder cannot be
// had (dest then names the records' subfolder alone) or the path does not fit whole (dest holds
// it as far as it goes); nothing may be written then.
bool record_folder_of_user(wchar_t* dest, int capacity);

// The records folder (RECORD_FOLDER_CAPACITY): the one the policy names when it names one
// (policy_names_folder), otherwise the user's. False when it is not known whole (dest then holds
// as much as is known, for a message): nothing may be written then, and never anywhere else
// instead. A policy folder is never created, so that a share that is offline is seen as such
// rather than replaced by a local folder.
bool records_folder(const RecordsPolicy& policy, wchar_t* dest, int capacity);

// The records folder and the tool's record file in it (RECORD_PATH_CAPACITY). False when either
// is not known whole; folder then holds as much of the folder as is known, for a message.
bool record_file_of_tool(const RecordsPolicy& policy, int tool_id, wchar_t* folder, wchar_t* path);

// Creates the folder level by level from its fourth character on (after a drive prefix such as
// C:\); levels that exist already are no obstacle.
void record_folder_create(const wchar_t* folder);
