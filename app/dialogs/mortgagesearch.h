// TfmMortgageSearch ("Search..."): finds a loan by its property's address, its client's name
// or its bank details. The results list every loan of the loan book that holds the search
// text in the chosen field; choosing one and OK gives its loan number.
#pragma once

#include "app/dialogs/loansearchfilter.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace duebell {

class TTovObjectListGrid;

class TfmMortgageSearch : public QDialog {
    Q_OBJECT
public:
    // Lists every loan at once.
    explicit TfmMortgageSearch(QWidget* parent = nullptr);

    QRadioButton* rgpSearchBy[3]; // " Search By ": property address, client name, bank details
    QLineEdit* edtSearchText;
    QPushButton* btnSearch;
    TTovObjectListGrid* stgHeaderGrid;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TLoanSearchField SearchBy() const;
    void SetSearchBy(TLoanSearchField field);
    // The loan number of the last loan chosen in the results; empty before any.
    const std::string& ChosenLoanNumber() const { return chosenLoanNumber_; }

    // Lists the loans that hold the search text in the chosen field.
    void btnSearchClick();

private:
    // A row chosen in the results: its loan becomes the choice; OK needs a choice.
    void GridClick();

    std::string chosenLoanNumber_;
};

} // namespace duebell
