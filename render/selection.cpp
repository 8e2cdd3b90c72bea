#include "selection.h"

int selectedFieldI = 0;
int selectedFieldJ = 0;
int selectedBillboard = 0;
int selectedBorder = 0;
