// The hyperlink control of the About box.
#pragma once

void InitLinkControl();
