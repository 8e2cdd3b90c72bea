// Text of a number box to the float stored in the record.
#ifndef DORVIK_CAR_NUMBER_H
#define DORVIK_CAR_NUMBER_H

// The atof rules: optional leading blanks, optional sign, digits with an
// optional '.', an optional exponent; conversion stops at the first
// character that does not fit and text without a number gives 0.0. The
// separator is '.' whatever the locale. The double is rounded to the
// nearest float; beyond the float range it becomes an infinity.
float carNumberFromText(const char* text);

#endif
