// What every window program of Kalvoro sets up on its application before the first window opens.
#pragma once

namespace kalvoro::widgets {

// The application's name and icon, and a bounded cache for the pictures the widget style draws.
void SetUpApplication();

} // namespace kalvoro::widgets
