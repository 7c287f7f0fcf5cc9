#pragma once

#include <QString>

namespace dvq3 {

// The texts the client-record windows show; code and tests use these constants.

// Client information.
inline const QString kClientInfoCaption = QStringLiteral("Client Information");
inline const QString kNameDeletedTitle = QStringLiteral("Name Deleted");
inline const QString kNameDeletedText =
    QStringLiteral("This client's name has been deleted.\rEditing this information is no longer "
                   "permitted.");
inline const QString kEditLimitTitle = QStringLiteral("Edit Limit Reached");
inline const QString kEditLimitText =
    QStringLiteral("This client's information has been changed 3 times.\rNo further editing is "
                   "permitted. Press Enter to continue.");
inline const QString kNameHelp = QStringLiteral(
    "Type client's name (up to 25 characters) or N for not available, then press Enter.");
inline const QString kAgeHelp =
    QStringLiteral("Type age in years or N for not available, then press Enter.");
inline const QString kGenderHelp = QStringLiteral("Use up or down arrow keys to select gender or "
                                                  "N/A for not available, then press Enter.");
inline const QString kDOBHelp = QStringLiteral(
    "Type date of birth in the form MM/DD/YYYY or N for not available, then press Enter.");
inline const QString kEducationHelp = QStringLiteral(
    "Use up or down arrow keys to select education level or N/A for not available, then press "
    "Enter.");
inline const QString kRaceHelp = QStringLiteral(
    "Use up or down arrow keys to select ethnicity/race or N/A for not available, then press "
    "Enter.");
inline const QString kMaritalHelp = QStringLiteral(
    "Use up or down arrow keys to select marital status or N/A for not available, then press "
    "Enter.");
inline const QString kDLHelp = QStringLiteral(
    "Input client's Driver's License Number, must follow this format, A123-456-78-901-1 or use "
    "N when Not Available.");
inline const QString kNameError = QStringLiteral("Enter client's name. Press Enter to continue.");
inline const QString kAgeError =
    QStringLiteral("Enter age of client in number of years. Press Enter to continue.");
inline const QString kGenderError = QStringLiteral(
    "Press down arrow to select gender or N/A for not available. Press Enter to continue.");
inline const QString kDOBError =
    QStringLiteral("Enter Date of Birth month, day, year as MM/DD/YYYY or N for Not Available. "
                   "Press Enter to continue.");
inline const QString kEducationError =
    QStringLiteral("Press down arrow to select education level. Press Enter to continue.");
inline const QString kRaceError =
    QStringLiteral("Press down arrow to select ethnicity. Press Enter to continue.");
inline const QString kMaritalError =
    QStringLiteral("Press down arrow key to select marital status. Press Enter to continue.");
inline const QString kDLError = QStringLiteral(
    "Driver's license # must follow this format, A123-456-78-901-1 or use N when Not "
    "Available. Press Enter to continue.");
inline const QString kInvalidAgeText =
    QStringLiteral("Invalid age. Please enter client's age or N for not available.");
inline const QString kInfoOkDeletedHelp = QStringLiteral(
    "Client name has been deleted.  Editing is not permitted.  Press Enter to continue.");
inline const QString kInfoOkHelp =
    QStringLiteral("If information is correct press Enter or press Tab to change an entry.");
inline const QString kInfoOkLimitHelp = QStringLiteral(
    "Exceeded limits of editing. No further editing is permitted. Press Enter to continue.");
inline const QString kCancelInputHelp =
    QStringLiteral("Cancel information input and return to Main Menu.");
inline const QString kScaleHeading = QStringLiteral("Scale, %ile, Raw Points");

// Court history.
inline const QString kCourtHistoryCaption = QStringLiteral("Court History");
inline const QString kCountHelp =
    QStringLiteral("Type a value 0 to 99 or N for Not Available, then press Enter.");
inline const QString kCountErrorTitle = QStringLiteral("Data Entry Error");
inline const QString kCountError =
    QStringLiteral("Type a number from 0 to 99 or N for Not Available. Press Enter to continue.");

// Input box and secret code.
inline const QString kInputRequiredTitle = QStringLiteral("Input required");
inline const QString kPasswordRequired = QStringLiteral("Please enter the required password.");
inline const QString kDataRequired = QStringLiteral("Please enter the required data.");
inline const QString kSecretCodeCaption = QStringLiteral("Secret Code");
inline const QString kSecretCodeHelp =
    QStringLiteral("Enter the secret code to continue.  For security, asterisks (*) will show "
                   "as you type.");
inline const QString kWrongCodeTitle = QStringLiteral("Incorrect Secret Code");
inline const QString kWrongCodeText = QStringLiteral("Incorrect secret code.  Please try again.");

// Verification.
inline const QString kVerifyCaption = QStringLiteral("Test Data Input Verification");
inline const QString kVerifyHelp =
    QStringLiteral("Enter response data from answer sheet. Press Backspace for previous question.");
inline const QString kVerifyCancelHelp =
    QStringLiteral("Press Enter to Cancel Data Verification and return to Main Menu");
inline const QString kNoCorrectionsTitle = QStringLiteral("Data Verification.");
inline const QString kNoCorrectionsText =
    QStringLiteral("Data Verification complete. No corrections needed.");
inline const QString kCorrectionsTitle = QStringLiteral("Data Corrections");
inline const QString kCorrectionsText =
    QStringLiteral("Data Correction needed. Please correct the following questions.");
inline const QString kVerifiedTitle = QStringLiteral("Data Verification");
inline const QString kVerifiedText = QStringLiteral("Data Verification complete.");

// Supervisor options.
inline const QString kSupervisorCaption = QStringLiteral("Supervisor Options");
inline const QString kVerifyComment = QStringLiteral(
    "This option gives you the opportunity to re-enter the client's responses from the answer "
    "sheet.  After you enter the responses, any differences from what was just entered and what "
    "was previously stored will be reported.  This gives you the opportunity to correct any "
    "errors.");
inline const QString kDeleteComment = QStringLiteral(
    "This option will delete all of the clients' names from the client database.  USE WITH "
    "CAUTION!  Once the names have been deleted on this data disk, they CANNOT be retrieved.  "
    "All other associated client data, demographics, court history and responses will NOT be "
    "deleted.  Use this option to protect client confidentiality when you are done with the "
    "disk.");
inline const QString kEmptyDiskTitle = QStringLiteral("Empty Data Disk");
inline const QString kEmptyDiskText =
    QStringLiteral("There are no clients on this data disk.\rReturning to main menu.");
inline const QString kDatabaseEmptyText =
    QStringLiteral("Database empty.\rCannot perform this function.");
inline const QString kPrintReportTitle = QStringLiteral("Print Report");
inline const QString kVerifyDataTitle = QStringLiteral("Verify Data");
inline const QString kDeleteNamesTitle = QStringLiteral("Delete Names");
inline const QString kVerifyTabHelp = QStringLiteral("Click Execute to perform data verification.");
inline const QString kDeleteTabHelp =
    QStringLiteral("Click Execute to perform delete names operation.");
inline const QString kOptionHelp =
    QStringLiteral("Use the arrow keys or mouse to choose print operation.");
inline const QString kExecuteHelp = QStringLiteral("Perform the selected operation.");
inline const QString kMainMenuHelp =
    QStringLiteral("Close the Utilities window returning to the Main Menu.");
inline const QString kWarningTitle = QStringLiteral("WARNING!");
inline const QString kDeleteWarning = QStringLiteral(
    "You are about to delete the client names from the data diskette.  This should not be done "
    "until you have printed all reports and you are finished with the diskette and ready to "
    "return it.  This procedure is provided as an option to protect the confidentiality of your "
    "clients.  You may choose not to run the procedure.  Once done you cannot undo the "
    "changes!!!  The station's own files that show the names (the report file report.prn, "
    "its numbered copies temp1, temp2 ... and the scanned answer sheet Raw.bmp) are deleted as "
    "well.  \r\rDo you wish to "
    "delete all client names?");
// A file that shows client names could not be removed with them: the file, the drive error.
inline const QString kNameFileNotRemoved =
    QStringLiteral("%1 could not be deleted (%2). It may still show client names: delete it "
                   "before the station's folder leaves the agency.");
inline const QString kDeleteAborted =
    QStringLiteral("Delete process ABORTED. Press Enter to continue.");
inline const QString kDeleteComplete =
    QStringLiteral("Delete process complete. Press Enter to continue.");
} // namespace dvq3
