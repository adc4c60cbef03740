CODEPAGE 936
UPDATE `Property` SET `Value` = 'Braden 压疮风险评估' WHERE `Property` = 'ProductName'
UPDATE `Shortcut` SET `Name` = 'Braden|Braden 压疮风险评估', `Description` = 'Braden 压疮风险评估' WHERE `Shortcut` = 'BradenShortcut'
UPDATE `File` SET `FileName` = 'GUIDE.TXT|使用说明.txt' WHERE `File` = 'UserGuide'
UPDATE `LaunchCondition` SET `Description` = '已安装更高版本的 Braden 压疮风险评估，无需降级安装。' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'
