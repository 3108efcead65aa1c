#include "ui/Combo.h"

#include "ui/Messages.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

namespace tev {

void FillCombo(QComboBox* combo, const QStringList& texts, bool addAll) {
    combo->clear();
    if (addAll) combo->addItem(u"所有"_s);
    combo->addItems(texts);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void ClearCombo(QComboBox* combo, bool addAll) {
    combo->clear();
    if (addAll) combo->addItem(u"所有"_s);
    // Nothing selected: adding "所有" must not look like a choice.
    combo->setCurrentIndex(-1);
}

void FillCombo(QComboBox* combo, const Result<QStringList>& texts, bool addAll) {
    if (!texts) {
        ShowOutcome(nullptr, texts);
        ClearCombo(combo, addAll);
        return;
    }
    FillCombo(combo, texts.value, addAll);
}

void SelectComboItem(QComboBox* combo, const QString& text) {
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i) == text) combo->setCurrentIndex(i);
}

void SetComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
}

bool HasSelection(const QComboBox* combo) {
    return combo->currentIndex() >= 0 && !combo->currentText().isEmpty();
}

} // namespace tev
