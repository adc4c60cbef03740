#!/usr/bin/env bash
# Runs every program of the suite with --selftest: suite_selftest.sh FOLDER SUFFIX [RUNNER...]
# Each must exit 0 and write its TOOL, LEVEL, OUT, VERDICT and ERRORS lines; the follow-up plan
# counts its dates from today.
set -u
folder="$1"
suffix="$2"
shift 2
runner=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/suite-selftest.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# program|id|title|category|level|verdict of the defaults
programs=(
    "braden|138|Braden 压疮风险评估|护理|1|中危，加强观察与营养"
    "shift-rotation|201|三班轮转排班表|护理|0|已生成轮转排班表，可复制到排班本或表格"
    "dosing-timetable|202|给药时间表|用药|0|给药时间表已生成，注意首剂与夜间给药时间"
    "blood-draw-order|203|采血顺序提示|检验|0|按标准顺序采血可减少溶血与交叉污染"
    "critical-values|204|检验危急值速查|检验|0|危急值必须闭环：报告、接收、处理、记录"
    "high-alert-drugs|205|高警示药品要点|用药|0|高警示药品须专区、专标识、双人核对"
    "drug-compatibility|206|药物配伍速查|用药|3|禁忌：不可同瓶输注，需间隔冲管"
    "follow-up-plan|207|随访计划|护理|0|随访计划已生成，可按日期短信提醒患者"
    "surgical-checklist|208|手术安全核查表|手术|0|三方核查缺一不可，签字后归档"
    "handover-template|209|交班报告模板|护理|0|模板已生成，床旁交接并双方签名"
    "infusion-card|210|静脉输液卡|用药|0|输液卡已生成，双人核对后执行"
    "lab-panels|211|检验套餐速查|检验|0|套餐与采血管已列出，按顺序采血"
)
failures=0
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
}
for row in "${programs[@]}"; do
    IFS='|' read -r name id title category level verdict <<<"$row"
    rm -f report.txt
    "${runner[@]}" "$folder/$name$suffix" --selftest report.txt </dev/null >/dev/null 2>&1
    code=$?
    [ "$code" = 0 ] || { fail "$name: exit code $code"; continue; }
    report=$(tr -d '\r' <report.txt)
    line() { printf '%s\n' "$report" | grep "^$1|" | head -1; }
    [ "$(line TOOL)" = "TOOL|$id|$title|$category" ] || fail "$name: $(line TOOL)"
    [ "$(line LEVEL)" = "LEVEL|$level" ] || fail "$name: $(line LEVEL)"
    [ "$(line VERDICT)" = "VERDICT|$verdict" ] || fail "$name: $(line VERDICT)"
    [ "$(line ERRORS)" = "ERRORS|0" ] || fail "$name: $(line ERRORS)"
    [ "$(printf '%s\n' "$report" | wc -l)" = 6 ] || fail "$name: not six lines"
    [ "$(grep -c $'\r$' report.txt)" = 6 ] || fail "$name: lines not ended by CR LF"
    if [ "$name" != braden ]; then
        [ "$(line OUT)" = "OUT|报告文本|见 DETAIL|" ] || fail "$name: $(line OUT)"
    fi
    if [ "$name" = follow-up-plan ]; then
        first=$(date -d '+7 days' +%F)
        line DETAIL | grep -q "第 1 次：$first" || fail "$name: first follow-up is not $first"
    fi
    echo "ok   $name"
done
if [ "$failures" -gt 0 ]; then
    echo "$failures suite self-test checks failed"
    exit 1
fi
echo "all ${#programs[@]} programs passed their self-test"
