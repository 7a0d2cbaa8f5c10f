#pragma once
// No platform calls.
