#include "fhir/json_read.h"

namespace {

using ReadDocument = rapidjson::GenericDocument<rapidjson::UTF8<>, JsonPool, JsonPool>;

// Values take 16 bytes and members 32, each made once: a body of JSON_READ_MAX bytes holds at most
// one value per 2 bytes or one member per 5, well within the value pool. The parser's stack holds
// the values of the open containers, grown in place by half again at a time.
constexpr std::size_t VALUE_POOL = 16 * JSON_READ_MAX;
constexpr std::size_t STACK_POOL = 32 * JSON_READ_MAX;

// True when the body nests no deeper than JSON_READ_DEPTH, brackets inside strings not counted.
bool shallow(const char* body, std::size_t length) {
    int depth = 0;
    bool in_string = false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = body[i];
        if (in_string) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                in_string = false;
            continue;
        }
        if (c == '"') in_string = true;
        if (c == '[' || c == '{') {
            if (++depth > JSON_READ_DEPTH) return false;
        }
        if (c == ']' || c == '}') --depth;
    }
    return true;
}

} // namespace

const JsonReadValue* json_read(char* body, std::size_t length) {
    if (body == nullptr || length == 0 || length > JSON_READ_MAX || body[length] != '\0' ||
        !shallow(body, length))
        return nullptr;
    alignas(8) static char value_memory[VALUE_POOL];
    alignas(8) static char stack_memory[STACK_POOL];
    static NoHeapAllocator none;
    static JsonPool values(value_memory, sizeof value_memory, sizeof value_memory, &none);
    static JsonPool stack(stack_memory, sizeof stack_memory, sizeof stack_memory, &none);
    static ReadDocument document(&values, STACK_POOL / 4, &stack);
    // The last document's values are never read again: their memory is taken back whole. (With
    // this pool, a value frees nothing, and the parser's stack is emptied after every parse.)
    values.Clear();
    stack.Clear();
    if (document.ParseInsitu(body).HasParseError()) return nullptr;
    return &document;
}

const JsonReadValue* json_member(const JsonReadValue* value, const char* name) {
    if (value == nullptr || !value->IsObject()) return nullptr;
    const auto found = value->FindMember(name);
    return found != value->MemberEnd() ? &found->value : nullptr;
}

const JsonReadValue* json_first(const JsonReadValue* value) {
    return value != nullptr && value->IsArray() && value->Size() > 0 ? &(*value)[0] : nullptr;
}

const char* json_text(const JsonReadValue* value) {
    return value != nullptr && value->IsString() ? value->GetString() : "";
}
