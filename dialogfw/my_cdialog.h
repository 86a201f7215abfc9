#pragma once
// The dialog base (placeholder).
