#pragma once

class QWidget;

namespace dvq3 {

// The supervisor's secret code: one letter, either case.
inline constexpr char kSecretCode = 'K';

// Asks for the secret code until it is typed; the prompt cannot be cancelled or closed.
// Returns true once the code was entered.
bool GetSecretCode(QWidget* parent = nullptr);

} // namespace dvq3
