// What the window's status line says of the export: after a Save, and after each run of the
// sender.
#pragma once

#include "fhir/outbox.h"

// A run of the sender over the outbox.
struct FhirRunReport {
    int sent;
    int refused;
    int waiting; // left in the outbox when the run stopped
    bool busy;   // another program of the user was sending: this run sent nothing
    wchar_t reason[FHIR_REASON_CAPACITY]; // of the last refusal, or of the stop
};

// "已保存（无住院号，不上传）": a Save while the export is on, of a record without an inpatient
// number.
extern const wchar_t* const STATUS_SAVED_NOT_EXPORTED;

// The status line after a run: "待上传：<reason>" when records wait, else "上传被拒绝：<reason>"
// when one was refused, else "已上传到病历系统" when one was sent; empty when the run did nothing.
void build_fhir_run_status(const FhirRunReport& report, wchar_t* dest, int capacity);
