// A patient's earlier records with one tool, read back from the tail of the tool's record file:
// newest first, at most HISTORY_MAX_RECORDS. Records that name a grade are read, by the file's
// own header; a record of the first version or a line that does not parse is skipped and
// counted.
#pragma once

#include <cstddef>

#include "core/tool_def.h"
#include "records/patient_fields.h"
#include "records/record_tail.h"

constexpr int HISTORY_MAX_RECORDS = 20;
// At most this much of a file's end is read, so that a large file opens as fast as a small one.
constexpr std::size_t HISTORY_TAIL_BYTES = RECORD_TAIL_BYTES;
constexpr int HISTORY_TIME_CAPACITY = 24;
constexpr int HISTORY_TEXT_CAPACITY = 256;

struct HistoryRecord {
    wchar_t time[HISTORY_TIME_CAPACITY];
    int level;
    wchar_t verdict[HISTORY_TEXT_CAPACITY];
    wchar_t first_line[HISTORY_TEXT_CAPACITY]; // of the result
    wchar_t assessor[PATIENT_FIELD_CAPACITY];
    bool has_value; // the record has a headline value (records/record_row.h)
    double value;
    bool time_anomalous; // its time cannot be right (RecordRow)
};

struct History {
    HistoryRecord records[HISTORY_MAX_RECORDS]; // newest first
    int count;
    int skipped;         // older records and lines that do not parse
    bool older_not_read; // the file holds more than its tail
};

// Which records are the patient's: by inpatient number when one is given, otherwise by the bed and
// the name together among the records without a number (the ward overview's rule). False when
// neither a number nor a bed and a name are given: a bed alone names no patient, since its
// previous occupant's records lie under it.
bool history_has_key(const PatientFields& patient);

// Reads the records of the bytes, the file's last length bytes: all of it when whole, otherwise
// from the first record that starts after a line break. A UTF-8 byte-order mark and the header
// are passed over. head is the file's first head_length bytes, which hold its header (null: the
// bytes themselves when whole, otherwise today's header). Newest first means last saved first:
// the file's order. A record later than latest_valid (record_latest_valid_time; null: not
// checked) or earlier than the one saved before it is flagged time_anomalous.
void history_read(const ToolDef& tool, const PatientFields& patient, const char* bytes,
                  std::size_t length, bool whole, History* history, const char* head = nullptr,
                  std::size_t head_length = 0, const wchar_t* latest_valid = nullptr);
