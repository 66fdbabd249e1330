#pragma once
#include "report/ReportModel.h"

namespace tornaly::report {

// Builds the usual list report from its columns: heading, column titles,
// one line per row, optional groups with their totals, page totals
// ("Sayfa Toplamı"), running totals ("Genel Toplam") and a closing total.
class ListReportBuilder {
public:
    explicit ListReportBuilder(const QString& title);

    ListReportBuilder& source(SourcePtr src);
    ListReportBuilder& landscape(bool on = true);
    ListReportBuilder& company(const QString& name);
    ListReportBuilder& subtitle(const QString& text);
    ListReportBuilder& name(const QString& componentName);
    ListReportBuilder& fontSize(double pt);

    ListReportBuilder& text(const QString& field, const QString& caption, double widthMm);
    ListReportBuilder& date(const QString& field, const QString& caption, double widthMm = 18);
    ListReportBuilder& number(const QString& field, const QString& caption, double widthMm,
                              const QString& format = QStringLiteral("#"));
    // A money column; its sums go to the group, page and closing totals.
    ListReportBuilder& money(const QString& field, const QString& caption, double widthMm = 24,
                             bool totals = true, const QString& format = QStringLiteral(",0.00"));
    ListReportBuilder& computed(const QString& name, const QString& caption, double widthMm,
                                std::function<QVariant(const RenderContext&)> fn, const QString& format = {},
                                Qt::Alignment align = Qt::AlignLeft);
    // A running balance: opening value (per group when `resetGroup` names one)
    // plus the running sum of `delta`.
    ListReportBuilder& runningBalance(const QString& name, const QString& caption, double widthMm,
                                      std::function<double(const RenderContext&)> delta,
                                      std::function<double(const RenderContext&)> opening = {},
                                      const QString& resetGroup = {},
                                      std::function<QString(const QVariant&)> display = {});
    // Options of the column added last.
    ListReportBuilder& hidden(bool on = true);
    ListReportBuilder& display(std::function<QString(const QVariant&)> fn);

    // Groups, outermost first. The header shows `headerText` of the group's
    // first row; the footer shows `footerText` of its last row and the sums.
    ListReportBuilder& groupBy(const QString& field, std::function<QString(const RenderContext&)> headerText,
                               std::function<QString(const RenderContext&)> footerText, bool newPage = false,
                               bool repeatHeader = false);
    ListReportBuilder& pageTotals(bool on = true);
    ListReportBuilder& summary(const QString& caption = QStringLiteral("Toplam"));
    ListReportBuilder& rowCondition(std::function<bool(const RenderContext&)> fn);

    Report build() const;

    // Aggregate names of a money column's totals.
    static QString groupTotal(const QString& field, int group);
    static QString pageTotal(const QString& field);
    static QString grandTotal(const QString& field);

private:
    struct Column {
        QString name;
        QString field;
        QString caption;
        double width = 20;
        QString format;
        Qt::Alignment align = Qt::AlignLeft;
        bool totals = false;
        bool hidden = false;
        std::function<QVariant(const RenderContext&)> fn;
        std::function<QString(const QVariant&)> display;
        // Running balances.
        std::function<double(const RenderContext&)> delta;
        std::function<double(const RenderContext&)> opening;
        QString resetGroup;
    };
    static Column makeColumn(const QString& name, const QString& field, const QString& caption, double width,
                             const QString& format, Qt::Alignment align);
    struct GroupDef {
        QString field;
        std::function<QString(const RenderContext&)> header;
        std::function<QString(const RenderContext&)> footer;
        bool newPage = false;
        bool repeat = false;
    };

    QString m_title;
    QString m_company;
    QString m_subtitle;
    QString m_name = QStringLiteral("QuickRep1");
    bool m_landscape = false;
    bool m_pageTotals = false;
    QString m_summary;
    double m_fontSize = 8;
    SourcePtr m_source;
    QList<Column> m_columns;
    QList<GroupDef> m_groups;
    std::function<bool(const RenderContext&)> m_rowCondition;
};

} // namespace tornaly::report
