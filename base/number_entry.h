// Numbers typed into dialog fields, read in the C locale. Blanks are spaces
// and tabs; they may lead and trail. A number read as zero must start with
// the digit 0 (so ".0", "-0" and "" are refused, "0.0" is not).
#pragma once

bool ParseDialogFloat(const char* text, double& value);
// Refuses a minus sign; a value above the 32-bit range reads as its maximum.
bool ParseDialogUInt(const char* text, unsigned& value);
