#pragma once
// Value texts of the dialog controls (placeholder).
