// Replaced as the shell lands.
