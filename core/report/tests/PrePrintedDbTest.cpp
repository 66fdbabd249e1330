// Layout rows and the invoice page as the printers read them, on both backends.
#include "report/PageSetup.h"
#include "report/PrePrinted.h"
#include "testsupport/TestSupport.h"

using namespace tornaly;
using namespace tornaly::report;

using PrePrintedDb = test::DbTest;

TEST_F(PrePrintedDb, TheNamedDesignElseTheFirstByNumber)
{
    EXPECT_FALSE(ReadLayout(db, LayoutInvoice).found); // an empty table: every position 0
    EXPECT_EQ(ReadLayout(db, LayoutInvoice).at(QStringLiteral("KR")), QPointF(0, 0));
    for (const auto& [name, kr] : {std::pair{"Birinci", 11}, std::pair{"İkinci", 22}, std::pair{"Üçüncü", 33}})
        db.exec(QStringLiteral("INSERT INTO KOORFAT (FATFORM_ADI, KR_S, KR_U, SAYFA_S) VALUES (:A, :S, NULL, -5)"),
                {{QStringLiteral("A"), QString::fromUtf8(name)}, {QStringLiteral("S"), kr}});
    Query q(db, QStringLiteral("SELECT ID FROM KOORFAT WHERE FATFORM_ADI=:A"));
    q.bind(QStringLiteral("A"), QStringLiteral("Üçüncü")).exec();
    ASSERT_TRUE(q.next());
    const int third = int(q.integer(QStringLiteral("ID")));

    EXPECT_EQ(ReadLayout(db, LayoutInvoice, third).text(QStringLiteral("FATFORM_ADI")), QStringLiteral("Üçüncü"));
    const LayoutRow first = ReadLayout(db, LayoutInvoice, 0);
    EXPECT_EQ(first.at(QStringLiteral("KR")), QPointF(11, 0));
    EXPECT_EQ(first.pageStart(), QPointF(-5, 0));
    EXPECT_EQ(ReadLayout(db, LayoutInvoice, 99999).mm(QStringLiteral("KR_S")), 11); // a missing design
    EXPECT_EQ(ReadInitialLayout(db, LayoutInvoice).mm(QStringLiteral("KR_S")), 22);
}

TEST_F(PrePrintedDb, ClosingFormAndDeclarationUseTheirRowRoles)
{
    // Inserted in the reverse order: the row role decides, not the order on disk.
    db.exec(QStringLiteral("INSERT INTO KOORIEKAPA (SATIR, ALAN9_S, ALAN9_U) VALUES (2, 1, 1)"));
    db.exec(QStringLiteral("INSERT INTO KOORIEKAPA (SATIR, ALAN9_S, ALAN9_U) VALUES (1, 150, 260)"));
    EXPECT_EQ(ReadLayout(db, LayoutWorkOrderClosing).at(QStringLiteral("ALAN9")), QPointF(150, 260));
    EXPECT_EQ(ReadInitialLayout(db, LayoutWorkOrderClosing).at(QStringLiteral("ALAN9")), QPointF(1, 1));
    db.exec(QStringLiteral("INSERT INTO KOORBYN2 (SATIR, SB_SX, SB_UX, SAAD_S) VALUES (1, -3, 4, 70)"));
    const LayoutRow decl = ReadLayout(db, LayoutDeclaration);
    EXPECT_EQ(decl.pageStart(), QPointF(-3, 4));
    EXPECT_EQ(decl.mm(QStringLiteral("SAAD_S")), 70);
}

TEST_F(PrePrintedDb, InvoicePageFromSayfa)
{
    InvoicePage none = ReadInvoicePage(db);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.page.pageSizeMm(), QSizeF(210, 297));

    db.exec(QStringLiteral("INSERT INTO SAYFA (FONTADI, FONTSTYLE, FONTSIZE, SAYFAGEN, SAYFAYUK, SAYFAISIM, "
                           "PRBICIMI, FONT_AYAR) VALUES ('Courier New', :ST, 12, 240, 140, :N, 0, 1)"),
            {{QStringLiteral("ST"), QStringLiteral("Kalın ve İtalik")}, {QStringLiteral("N"), PageCustom}});
    const InvoicePage p = ReadInvoicePage(db);
    EXPECT_TRUE(p.found);
    EXPECT_EQ(p.page.pageSizeMm(), QSizeF(240, 140));
    EXPECT_EQ(p.font.family, QStringLiteral("Courier New"));
    EXPECT_EQ(p.font.pointSize, 12);
    EXPECT_TRUE(p.font.bold && p.font.italic);
    EXPECT_TRUE(p.fontForWholeReport);
    EXPECT_FALSE(p.noCompanyHeader); // NULL: name and logo are printed
}
