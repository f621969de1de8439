#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// Why a print form is refused (a reason follows the path and kFormRefusedAfter, one for each way the
// engine can refuse a template that is there; a path that names no file gets the missing file's
// message), and the messages of a report stopped because memory, or the engine's
// limit on the size of a report, ran out.
#define VEMO_REPORT_FAILURE_TEXTS(X)                                                                       \
    X(kFormRefusedAfter, "\nを印刷フォームとして読み込めませんでした。\n")                                      \
    X(kFormNotNamed, "印刷フォームのファイル名が指定されていません。")                                     \
    X(kFormReasonUnreadable, "ファイルを読み取れません。")                                                 \
    X(kFormReasonNotZip, "Excel ブック（.xlsx）ではないか、ファイルが壊れています。")                      \
    X(kFormReasonNoWorkbook, "ブックの本体が含まれていません。")                                           \
    X(kFormReasonMissingPart, "ブックが参照するシートまたは書式が含まれていません。")                      \
    X(kFormReasonDamagedXml, "シートまたは書式の内容が壊れています。")                                     \
    X(kFormReasonTooLarge, "印刷フォームとしては大きすぎます（ファイル、行・セル・書式の数が上限を超えています）。") \
    X(kFormReasonTooDeep, "要素の入れ子が深すぎます。")                                                    \
    X(kFormReasonOutOfMemory, "読み込むためのメモリが足りません。")                                        \
    X(kReportOutOfMemory, "メモリが足りないため、印刷を中止しました。\n開いている見積は変更されていません。") \
    X(kReportTooLarge, "帳票が大きすぎるため、印刷を中止しました。\n開いている見積は変更されていません。")
