#!/usr/bin/env bash
# The administrative templates of Group Policy: well-formed XML, the registry key and the value
# names in the ADMX exactly those the programs read (printed by the policy_names program, from
# the one list in the code), and every string and presentation the ADMX refers to defined in both
# languages: check_policy_templates.sh REPOSITORY_ROOT POLICY_NAMES_PROGRAM
set -u
root="$1"
names_program="$2"
policy="$root/packaging/policy"
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
admx="$policy/halvimed.admx"
admls=("$policy/zh-CN/halvimed.adml" "$policy/en-US/halvimed.adml")
for file in "$admx" "${admls[@]}"; do
    xmllint --noout "$file" || fail "$file is not well-formed XML"
done
attribute() { # FILE XPATH: the attribute values, one a line
    xmllint --xpath "$2" "$1" 2>/dev/null | sed -E 's/^ *[A-Za-z]+="([^"]*)"$/\1/; s/" [A-Za-z]+="/\n/g' |
        sed -E 's/^ *[A-Za-z]+="//; s/"$//' | sed '/^$/d'
}
mapfile -t code < <("$names_program")
key_in_code="${code[0]}"
values_in_code=$(printf '%s\n' "${code[@]:1}" | sort)
keys=$(attribute "$admx" "//*[local-name()='policy']/@key" | sort -u)
[ "$keys" = "$key_in_code" ] || fail "the ADMX writes under '$keys', the programs read '$key_in_code'"
values=$(attribute "$admx" "//*[local-name()='policy']/@valueName | //*[local-name()='text']/@valueName" |
    sort)
[ "$values" = "$values_in_code" ] ||
    fail "the ADMX sets the values $(echo $values), the programs read $(echo $values_in_code)"
strings=$(grep -o '\$(string\.[A-Za-z0-9_]*)' "$admx" | sed 's/^$(string\.//; s/)$//' | sort -u)
presentations=$(grep -o '\$(presentation\.[A-Za-z0-9_]*)' "$admx" |
    sed 's/^$(presentation\.//; s/)$//' | sort -u)
for adml in "${admls[@]}"; do
    defined=$(attribute "$adml" "//*[local-name()='string']/@id" | sort -u)
    for id in $strings; do
        grep -qx "$id" <<<"$defined" || fail "$adml lacks the string $id"
    done
    shown=$(attribute "$adml" "//*[local-name()='presentation']/@id" | sort -u)
    for id in $presentations; do
        grep -qx "$id" <<<"$shown" || fail "$adml lacks the presentation $id"
    done
done
category=$(xmllint --xpath "string(//*[local-name()='string'][@id='HalviMedTools'])" "${admls[0]}")
[ "$category" = "HalviMed 护理工具箱" ] || fail "the category is '$category'"
if [ "$failures" -gt 0 ]; then
    echo "$failures policy template checks failed"
    exit 1
fi
echo "policy templates: well-formed, the programs' key and $(wc -w <<<"$values") values, both languages"
