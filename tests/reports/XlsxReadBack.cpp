// The workbook reader of the Excel tests, compiled into this program too.
#include "../excel/XlsxReadBack.cpp"
