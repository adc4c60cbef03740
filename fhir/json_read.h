// Reading JSON that others wrote (a server's answer, an outbox file) into a document of fixed
// memory. A body no longer than JSON_READ_MAX and nested no deeper than JSON_READ_DEPTH can never
// exhaust the pools, whatever its shape; anything else is refused before it is parsed, so that no
// answer can make the parser run out of memory or stack.
#pragma once

#include <cstddef>

#include <rapidjson/document.h>

#include "fhir/json_bounds.h"

constexpr std::size_t JSON_READ_MAX = 64 * 1024;
constexpr int JSON_READ_DEPTH = 64;

using JsonReadValue = rapidjson::GenericValue<rapidjson::UTF8<>, JsonPool>;

// Parses body (terminated after length bytes) in place; the document lives until the next call.
// Null when the body is refused or is no JSON.
const JsonReadValue* json_read(char* body, std::size_t length);

// The member of an object; null when value is null, not an object, or lacks it.
const JsonReadValue* json_member(const JsonReadValue* value, const char* name);

// An array's first element; null when there is none.
const JsonReadValue* json_first(const JsonReadValue* value);

// A string's text; "" for anything else.
const char* json_text(const JsonReadValue* value);
