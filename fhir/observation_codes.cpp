#include "fhir/observation_codes.h"

#include <cstring>

namespace {

const ObservationCodes CODES[] = {
    {"braden",
     "38227-5",
     "survey",
     "{score}",
     {{"sensory", "38222-6"},
      {"moist", "38229-1"},
      {"activity", "38223-4"},
      {"mobility", "38224-2"},
      {"nutrition", "38225-9"},
      {"friction", "38226-7"}}},
    {"morse-fall", "59460-6", "survey", "{score}", {}},
    {"barthel-adl", "96761-2", "survey", "{score}", {}},
    {"gcs",
     "9269-2",
     "survey",
     "{score}",
     {{"eye", "9267-6"}, {"verbal", "9270-0"}, {"motor", "9268-4"}}},
    {"pain-nrs", "72514-3", "survey", "{score}", {}},
    {"bmi", "39156-5", "vital-signs", "kg/m2", {}},
    {"news2", nullptr, "survey", "{score}", {}},
    {"padua-vte", nullptr, "survey", "{score}", {}},
    {"caprini-vte", nullptr, "survey", "{score}", {}},
    {"nrs2002", nullptr, "survey", "{score}", {}},
    {"drip-rate", nullptr, "survey", "{drops}/min", {}},
    {"pump-rate", nullptr, "survey", "mL/h", {}},
};

} // namespace

const ObservationCodes* observation_codes(const char* program) {
    for (const ObservationCodes& codes : CODES)
        if (program != nullptr && std::strcmp(codes.program, program) == 0) return &codes;
    return nullptr;
}
