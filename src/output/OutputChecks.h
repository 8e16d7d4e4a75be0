#pragma once
// The list checks every exporting or printing list window runs first.
#include <QString>

inline const char *kNotQueriedText = "请先查询出要导出的数据";
inline const char *kNoRowsText = "没有可导出的数据！";
inline const char *kNoTemplateText = "未加载打印模板";

// Stops with "请先查询出要导出的数据" when the list was never queried and with
// "没有可导出的数据！" when it has no rows.
void CheckListForOutput(bool queried, int rowCount);
