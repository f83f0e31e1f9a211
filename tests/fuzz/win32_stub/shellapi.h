#pragma once
// Empty: see windows.h beside it.
