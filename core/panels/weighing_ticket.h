#pragma once

#include <string>

// The weighing-ticket picture: a framed one-line ticket in ESC/P 8-dot
// double-density bit images, 2736 bytes, sent as one run.
const std::string& WeighingTicket();
