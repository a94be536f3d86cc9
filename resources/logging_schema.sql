CREATE TABLE IF NOT EXISTS Log(
    timestamp TIMESTAMP,
    category  VARCHAR(32),
    data      TEXT
);

CREATE TRIGGER IF NOT EXISTS DeleteOldLogEntries AFTER INSERT ON Log
BEGIN
    DELETE FROM Log WHERE timestamp < datetime('now', '-3 months', 'localtime');
END

CREATE INDEX IF NOT EXISTS LogTimestamp ON Log(timestamp);
