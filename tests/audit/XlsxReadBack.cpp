// The workbook read-back of the export tests, for the audit export.
#include "../excel/XlsxReadBack.cpp"
