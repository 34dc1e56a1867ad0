// The program's help page for users, as HTML.
#pragma once

const char* GetHelpPageHtml();
