#!/usr/bin/env bash
# Runs every program of the build's catalogue with --selftest:
#   suite_selftest.sh CATALOGUE FOLDER SUFFIX [RUNNER...]
# CATALOGUE is the build's tool_programs.txt (name TAB title per line). Each program must exit 0
# and write its TOOL, LEVEL, OUT, VERDICT and ERRORS lines as expected below; a program of the
# catalogue without expectations, or expectations for no program, fails. The follow-up plan
# counts its dates from today.
set -u
catalogue="$1"
folder="$2"
suffix="$3"
shift 3
runner=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/suite-selftest.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
}

# program|id|title|category|level|verdict of the defaults|first OUT line's label, value and unit
report_out="报告文本|见 DETAIL|"
expected=(
    "braden|138|Braden 压疮风险评估|护理|1|中危，加强观察与营养|Braden 总分|13|分"
    "morse-fall|140|Morse 跌倒风险评估|护理|0|低危，常规安全护理与宣教|Morse 总分|0|分"
    "barthel-adl|141|Barthel 自理能力评估|护理|0|无需依赖，日常生活可自理|Barthel 指数|100|分"
    "padua-vte|142|Padua 静脉血栓风险评估|护理|0|低危，鼓励早期活动，病情变化时复评|Padua 总分|0|分"
    "caprini-vte|143|Caprini 静脉血栓风险评估|护理|0|极低危，鼓励早期活动|Caprini 总分|0|分"
    "nrs2002|144|NRS 2002 营养风险筛查|护理|0|暂无营养风险，住院期间每周复筛|NRS 2002 总分|0|分"
    "gcs|145|GCS 格拉斯哥昏迷评分|护理|0|意识清楚|GCS 总分|15|分"
    "news2|146|NEWS2 早期预警评分|护理|0|低危：至少每 12 小时监测|呼吸评分|0|分"
    "pain-nrs|147|疼痛数字评分|护理|0|无痛|疼痛评分|0|分"
    "drip-rate|150|输液滴速计算|用药|0|按计算滴速调节，数 15 秒滴数复核|滴速|42|滴/分"
    "pump-rate|151|微量泵速计算|用药|0|双人核对药名、剂量、浓度与泵速后执行|浓度|4000.0|μg/mL"
    "bmi|152|体重指数与体表面积|护理|0|体重正常|体重指数|22.0|kg/m²"
    "shift-rotation|201|三班轮转排班表|护理|0|已生成轮转排班表，可复制到排班本或表格|$report_out"
    "dosing-timetable|202|给药时间表|用药|0|给药时间表已生成，注意首剂与夜间给药时间|$report_out"
    "blood-draw-order|203|采血顺序提示|检验|0|按标准顺序采血可减少溶血与交叉污染|$report_out"
    "critical-values|204|检验危急值速查|检验|0|危急值必须闭环：报告、接收、处理、记录|$report_out"
    "high-alert-drugs|205|高警示药品要点|用药|0|高警示药品须专区、专标识、双人核对|$report_out"
    "drug-compatibility|206|药物配伍速查|用药|3|禁忌：不可同瓶输注，需间隔冲管|$report_out"
    "follow-up-plan|207|随访计划|护理|0|随访计划已生成，可按日期短信提醒患者|$report_out"
    "surgical-checklist|208|手术安全核查表|手术|0|三方核查缺一不可，签字后归档|$report_out"
    "handover-template|209|交班报告模板|护理|0|模板已生成，床旁交接并双方签名|$report_out"
    "infusion-card|210|静脉输液卡|用药|0|输液卡已生成，双人核对后执行|$report_out"
    "lab-panels|211|检验套餐速查|检验|0|套餐与采血管已列出，按顺序采血|$report_out"
)
expectation() {
    local row
    for row in "${expected[@]}"; do
        [ "${row%%|*}" = "$1" ] && { printf '%s\n' "$row"; return 0; }
    done
    return 1
}
programs=()
while IFS=$'\t' read -r name catalogue_title; do
    [ -n "$name" ] || continue
    programs+=("$name")
    row=$(expectation "$name") || { fail "$name: in the catalogue but has no expectations"; continue; }
    IFS='|' read -r name id title category level verdict out_label out_value out_unit <<<"$row"
    [ "$title" = "$catalogue_title" ] || fail "$name: catalogue title $catalogue_title"
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
    lines=$(printf '%s\n' "$report" | wc -l)
    [ "$lines" -ge 6 ] || fail "$name: only $lines lines"
    [ "$(grep -c $'\r$' report.txt)" = "$lines" ] || fail "$name: lines not ended by CR LF"
    [ "$(line OUT)" = "OUT|$out_label|$out_value|$out_unit" ] || fail "$name: $(line OUT)"
    if [ "$name" = follow-up-plan ]; then
        first=$(date -d '+7 days' +%F)
        line DETAIL | grep -q "第 1 次：$first" || fail "$name: first follow-up is not $first"
    fi
    echo "ok   $name"
done <"$catalogue"
[ "${#programs[@]}" -gt 0 ] || fail "the catalogue $catalogue lists no program"
for row in "${expected[@]}"; do
    name=${row%%|*}
    printf '%s\n' "${programs[@]}" | grep -qx "$name" || fail "$name: expected but not in the catalogue"
done
if [ "$failures" -gt 0 ]; then
    echo "$failures suite self-test checks failed"
    exit 1
fi
echo "all ${#programs[@]} programs passed their self-test"
