#pragma once
// Filling and choosing in the drop-down lists of the windows.

#include "domain/Outcome.h"

#include <QString>
#include <QStringList>

class QComboBox;

namespace tev {

// Replaces the items with texts, with "所有" first when addAll is set; the first item ends up
// selected (none when there are no items).
void FillCombo(QComboBox* combo, const QStringList& texts, bool addAll);
// Empties the list with nothing selected: its options could not be read.
void ClearCombo(QComboBox* combo, bool addAll);
// The texts a domain list gave; when they could not be read, its message ("LoadCombo失败")
// and an empty list with nothing selected.
void FillCombo(QComboBox* combo, const Result<QStringList>& texts, bool addAll);
// Selects the last item whose text equals text exactly; no match leaves the selection alone.
void SelectComboItem(QComboBox* combo, const QString& text);
// Puts a text into an editable combo box, selecting the item of that text if there is one.
void SetComboText(QComboBox* combo, const QString& text);
// An item is chosen and its text is not empty.
bool HasSelection(const QComboBox* combo);

} // namespace tev
