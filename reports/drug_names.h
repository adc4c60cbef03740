// The ten drugs of the compatibility check by number. The report's table and legend and the
// tool's guide are all made of these names, joined at compile time.
#pragma once

#define DRUG_NAME_1 L"头孢曲松"
#define DRUG_NAME_2 L"葡萄糖酸钙"
#define DRUG_NAME_3 L"万古霉素"
#define DRUG_NAME_4 L"呋塞米"
#define DRUG_NAME_5 L"氨溴索"
#define DRUG_NAME_6 L"奥美拉唑"
#define DRUG_NAME_7 L"维生素C"
#define DRUG_NAME_8 L"胰岛素"
#define DRUG_NAME_9 L"碳酸氢钠"
#define DRUG_NAME_10 L"多巴胺"
