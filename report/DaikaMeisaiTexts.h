#pragma once
// A section of the report's text table (report/ReportTexts.h): the code includes that header, which gives every
// text of the list below its name.

// The fixed texts of the 代価歩掛明細表 page: its title and reference texts, the correction texts, the
// message for a 歩掛 with more trades than the form shows, the cost-kind headings of the trade
// columns, the labels of the staffing table and the names, headings and basis words of the expense
// lines. Texts named …Format are printf formats; …Before and …After go on either side of a value.
#define VEMO_REPORT_MEISAI_TEXTS(X)                                                                \
    /* Page head: title ("%d": the 代価 number), the basis and quantity texts ("%s": the unit) */   \
    X(kMeisaiTitleFormat, "第 %d 号一位代価歩掛明細表")                                            \
    X(kMeisaiPerUnitFormat, "1%s当たり")                                                           \
    X(kMeisaiPerQuantityFormat, "%.2f%s当り")                                                      \
    /* Correction: the rate when the rates differ by 区分, the rate ("%.1f": per cent over 1), */     \
    /* a line's own rate then ("%s": the factor), the brackets of the lower name and of a */          \
    /* description, the correction formula texts */                                                 \
    X(kMeisaiNoSingleCorrection, "－－%")                                                          \
    X(kMeisaiLineCorrectionFormat, "補正率 %s")                                                    \
    X(kMeisaiCorrectionFormat, "%.1f%%")                                                           \
    X(kMeisaiBracketOpen, "(")                                                                     \
    X(kMeisaiBracketClose, ")")                                                                    \
    X(kMeisaiTotalCorrection, "総補正率")                                                          \
    X(kMeisaiCorrectionH9, "総補正率　( H9 )")                                                     \
    X(kMeisaiCorrectionSlotBefore, "総補正率　( ")                                                 \
    X(kMeisaiCorrectionSlotAfter, " * H9 )")                                                       \
    X(kMeisaiCorrectionFormulaBefore, "総補正率　( (")                                             \
    X(kMeisaiCorrectionFormulaAfter, ") * H9 )")                                                   \
    /* The line before the corrected amount: 物件 and the others ("%s": what is multiplied, ① or */  \
    /* the basis text), type 13 ("%.2f%s": the conversion quantity and unit, "%s": the basis text); */ \
    /* each ends in the sign before the figure */                                                   \
    X(kMeisaiBukkenExplanationFormat, "金　額（%s）　＝ ")                                         \
    X(kMeisaiPerLL8Format, "%.2f%s当たりの補正後の金額（合計×②）を%sに換算　＝ ")                 \
    X(kMeisaiExplanationFormat, "補正後の金額　（ %s × ② ）　＝ ")                                 \
    X(kMeisaiEquals, "　＝ ")                                                                      \
    /* The same with the 電子計算機使用料 the price adds after the correction (the type-13 and the */  \
    /* per-unit ones: "%.2f%s" the basis quantity and unit, "%s" the basis text) */                   \
    X(kMeisaiDensiExplanationFormat, "補正後の金額　（ %s × ② ＋ 電子計算機使用料 ）　＝ ")           \
    X(kMeisaiPerLL8DensiFormat, "%.2f%s当たりの補正後の金額（合計×②＋電子計算機使用料）を%sに換算　＝ ") \
    X(kMeisaiPerBasisDensiFormat, "%.2f%s当たりの補正後の金額（①×②＋電子計算機使用料）を%sに換算　＝ ") \
    /* Too many trades ("%s": the row's name, "%d": the trades the form shows) */                  \
    X(kMeisaiTooManyTrades, "「%s」の職種数が歩掛明細表に表示できる%d人を超えています。")          \
    /* Cost kinds over the trade columns */                                                         \
    /* Staffing table: the merged last row, the correction rows of 物件 (⑩ and ⑪ the factors of */   \
    /* the corrected staffing), the total rows and the */                                             \
    /* amounts by cost kind (a comma number between …Before and kMeisaiAmountClose) */              \
    X(kMeisaiMergedRow, "上記以外の合計")                                                          \
    X(kMeisaiPreCorrection, "補正前人員計 ⑩")                                                     \
    X(kMeisaiKubunCorrection, "補正率（区分により異なる） ⑪")                                     \
    X(kMeisaiCorrectionRow, "補正率（ ② ） ⑪")                                                    \
    X(kMeisaiCorrectedStaff, "人員計 ＝ ⑩ × ⑪")                                                    \
    X(kMeisaiAmountTotalRow, "金 額 計")                                                           \
    X(kMeisaiJinkenhiTotal, "人件費合計")                                                          \
    X(kMeisaiTotalRow, "合　　計")                                                                 \
    X(kMeisaiStaffHeading, "人 員 計")                                                             \
    X(kMeisaiAmountHeading, "金　　額")                                                            \
    X(kMeisaiDirectLabourBefore, "直接人件費(")                                                    \
    X(kMeisaiLabourBefore, "労務費　　　(")                                                        \
    /* Expense lines: the headings of their own block, the names the masters do not give, the */   \
    /* rate ("%.2f": per cent), the lump quantity, the 精度管理費 basis words */                      \
    X(kKeihiUnitHeading, "経費単位")                                                               \
    X(kKeihiQuantityHeading, "経費数量")                                                           \
    X(kKeihiPriceHeading, "経費単価")                                                              \
    X(kKeihiAmountHeading, "経費金額")                                                             \
    X(kKeihiSonota, "その他経費")                                                                  \
    X(kKeihiLumpQuantity, "1.000")                                                                 \
    X(kKeihiSeidoKikai, "機械経費　＋")                                                            \
    X(kKeihiSeidoJinkenhi, "　人件費の")                                                           \
    /* Basis words of the rate lines and rate entries */                                            \
    X(kBasisDirectLabour, "直接人件費の")                                                          \
    X(kBasisCorrectedDirectLabour, "補正後直接人件費の")                                           \
    X(kBasisLabour, "労務費の")                                                                    \
    X(kBasisZairyo, "材料費の")                                                                    \
    X(kBasisTanka, "該当単価の")                                                                   \
    X(kBasisKikai, "機械経費計の")                                                                 \
    X(kBasisSonota, "その他経費計の")                                                              \
    X(kBasisJinkenhi, "人件費の")                                                                  \
    X(kBasisAbove, "上記合計額の")                                                                 \
    X(kBasisPlusUnit, "人件費+材料費")                                                             \
    X(kBasisPlusKikai, " +　機械経費の")
