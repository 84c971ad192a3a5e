// The driver's diagnostic output: a message box when diagnostics go to windows
// (KOVA_OGL_INFO_WINDOWS), standard output otherwise.
#pragma once

//! Writes one informational text.
void ddzDiagnosticMessage(const char* text);
//! Reports a system failure: the text of GetLastError(), captioned failureText in a box.
void ddzReportSystemFailure(const char* failureText);
