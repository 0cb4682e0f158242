#pragma once
#include "common/EmployeeSearch.h"
#include "common/LoginContext.h"

#include <QVector>
#include <QWidget>

#include <functional>
#include <optional>

class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wel {

class Database;
class FactCodeEdit;
class ResultGrid;

// What a grid column of the employee search shows.
enum class EmployeeColumn { RowNo, Emp_SSN, EMP_ID, Emp_Surname, Emp_F_Name, Emp_L_Name, Emp_H_Type, KV_ID,
                            Emp_Position, Fact_code,
                            CopayRight, // "มี" unless right type "1", which has no co-pay: "ไม่มี"
                            EduRight,   // the education allowance: "ไม่มี" for right type "2", else "มี"
};

struct EmployeeGridColumn {
    QString heading;
    int width = 0; // 0 hides the column (it carries a key)
    EmployeeColumn column = EmployeeColumn::RowNo;
};

// No, identity number, staff number, title, given name, family name and right
// type, as the personnel screens' grids begin; screens add their key columns.
QVector<EmployeeGridColumn> employeeGridColumns();

// Which faculty's employees a screen's search lists.
enum class SearchFaculty {
    ByMode,   // the clerk's own in mode "FC", every faculty in mode "KV"
    Clerk,    // the clerk's own, whatever the mode
    Field,    // the panel's field "รหัสส่วนงาน" (edtFact_Code): the clerk's own
              // faculty, which only mode "KV" may change; empty finds nobody
    Any,      // every faculty (screens that serve the whole university)
    Chosen,   // the screen's own faculty choice: EmployeeSearchOptions::chosenFaculty
};

// How one screen's search panel looks and searches.
struct EmployeeSearchOptions {
    QString searchTitle;       // "1. ค้นหาข้อมูลพนักงาน"
    QString gridTitle;         // "2. คลิกเลือกพนักงาน"
    QString gridName = QStringLiteral("StringGrid1");
    QString selectCaption = QStringLiteral("ค้นหา");
    bool withLastName = false; // a family-name field beside the given name
    bool nameRequired = false; // searching by an empty given name is refused
    bool orderByLastName = false;
    SearchFaculty faculty = SearchFaculty::ByMode;
    QVector<EmployeeGridColumn> columns;
    // SearchFaculty::Chosen: the faculty to search, "" for every faculty;
    // throws AppError when the choice finds nobody.
    std::function<QString()> chosenFaculty = {};
    bool anyStatus = false; // employees who have left are listed too
    QString factCaption = QStringLiteral("รหัสส่วนงาน"); // label of the faculty field
};

// The panel that finds active employees by given name, staff number or
// identity number, limited to the clerk's faculty in mode "FC", and lists
// them in a grid whose rows carry the employee keys.
class EmployeeSearchPanel : public QWidget {
    Q_OBJECT
public:
    EmployeeSearchPanel(Database& db, const LoginContext& login, EmployeeSearchOptions options, QWidget* parent = nullptr);

    static const QString kNameRequired; // "กรุณาใส่ชื่อที่ต้องการค้นหาด้วย"

    // Adds a screen's button to the row of the search button.
    void addButton(QPushButton* button);
    // Search mode "ชื่อ", the search fields emptied, the grid cleared.
    void reset();
    // The grid back to its heading and one empty row.
    void clearResults();
    // Runs the search and fills the grid; throws AppError when the name is
    // required but empty, and after clearing the grid when nothing is found.
    void search();
    // Every employee the clerk may work on, as a search by an empty staff
    // number lists them.
    void listAll();
    // The employee of the selected grid row, in whatever order the clerk
    // sorted the list; nullopt on an empty row.
    std::optional<EmployeeSummary> selected() const;
    // The faculty the listed employees were searched under ("" for all), so
    // that what is done for one of them is filed under the faculty the clerk
    // searched, even when the faculty field was edited since.
    QString searchedFaculty() const { return m_searchedFaculty; }
    // The faculty field of SearchFaculty::Field, nullptr otherwise.
    FactCodeEdit* factField() const { return m_fact; }

    ResultGrid* grid() const { return m_grid; }

private:
    void modeChanged();
    QString cellText(const EmployeeSummary& e, int rowNo, EmployeeColumn c) const;

    Database& m_db;
    LoginContext m_login;
    EmployeeSearchOptions m_options;
    QVector<EmployeeSummary> m_rows;
    QRadioButton* m_byName = nullptr;
    QRadioButton* m_byEmpId = nullptr;
    QRadioButton* m_bySsn = nullptr;
    QLineEdit* m_firstName = nullptr;
    QLineEdit* m_lastName = nullptr; // only withLastName
    QLineEdit* m_empId = nullptr;
    QLineEdit* m_ssn = nullptr;
    QHBoxLayout* m_buttons = nullptr;
    ResultGrid* m_grid = nullptr;
    FactCodeEdit* m_fact = nullptr;
    QString m_searchedFaculty;
};

} // namespace wel
