// Keeps the support library non-empty while no helper is written yet.
