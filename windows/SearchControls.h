#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class QFormLayout;
class QLineEdit;
class QObject;
class QWidget;

namespace velatask {

class SearchField;
class Store;

// Builds the controls of one tab of the search window, row by row, each bound as a search
// field of the record field it stands for.
class SearchControls {
public:
    SearchControls(QWidget* page, QFormLayout* form, QObject* owner)
        : m_page(page), m_form(form), m_owner(owner) {}

    // Radio buttons whose value is the chosen button's text.
    SearchField* option(const QString& field, const QString& title, const QStringList& buttons,
                        const QString& tip);
    // "&Category:": a drop list of the categories, blank first (fillCategories).
    SearchField* categories(const QString& label);
    SearchField* text(const QString& field, const QString& label, int width, const QString& tip);
    SearchField* memo(const QString& field, const QString& label, int width, const QString& tip);
    SearchField* check(const QString& field, const QString& text, const QString& tip);
    // A date and its time on one row.
    std::pair<SearchField*, SearchField*> dateAndTime(const QString& dateField,
                                                      const QString& dateLabel,
                                                      const QString& timeField,
                                                      const QString& timeLabel);
    // A date and time that are shown only, never searched.
    std::pair<QLineEdit*, QLineEdit*> shownDateAndTime(const QString& label, const QString& dateTip,
                                                       const QString& timeTip);
    // "&Every...": the ordinals, the weekdays, "Every:" and its unit.
    std::vector<SearchField*> every();
    // "Alarm" and "WAV File to Play:".
    std::vector<SearchField*> alarm();

    // Reads the categories into the drop list; false when they could not be read (the warning
    // was shown).
    static bool fillCategories(SearchField& categories, Store& store);

private:
    void edits(SearchField* field);

    QWidget* m_page;
    QFormLayout* m_form;
    QObject* m_owner;
};

} // namespace velatask
