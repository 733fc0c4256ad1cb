-- Cashiers' passwords rest only as salted one-way hashes in the crypt(3)
-- formats the terminals verify with libcrypt: yescrypt ("$y$..."), which the
-- terminals make when a cashier changes the password, and bcrypt
-- ("$2a$..."), which this server makes itself for a password that arrives in
-- clear: a manager resetting a cashier (UPDATE cashier SET password = emp_no,
-- so the cashier must choose a new one at the next sign-on), an import, the
-- demo. A clear value never stays in the table. An empty password stays
-- empty and opens nothing.
--
-- cashier.password (column of the master table) now always holds such a
-- hash; the terminals download it unchanged ("IAB030-DownloadCashier") into
-- their cashier file.

CREATE EXTENSION IF NOT EXISTS pgcrypto;

CREATE FUNCTION cashier_password_is_hash(p text) RETURNS boolean
LANGUAGE sql IMMUTABLE AS $$
    SELECT p ~ '^\$y\$[./A-Za-z0-9]+\$[./A-Za-z0-9]{1,86}\$[./A-Za-z0-9]{43}$'
        OR p ~ '^\$2[aby]\$[0-9]{2}\$[./A-Za-z0-9]{53}$'
$$;

CREATE FUNCTION cashier_hash_password() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF NEW.password <> '' AND NOT cashier_password_is_hash(NEW.password) THEN
        NEW.password := crypt(NEW.password, gen_salt('bf', 10));
    END IF;
    RETURN NEW;
END
$$;

CREATE TRIGGER cashier_hash_password
    BEFORE INSERT OR UPDATE OF password ON cashier
    FOR EACH ROW EXECUTE FUNCTION cashier_hash_password();

UPDATE cashier SET password = password
 WHERE password <> '' AND NOT cashier_password_is_hash(password);

-- Who changed a password, from which terminal and when (never the password
-- or its hash).
CREATE TABLE cashier_password_change (
    change_id  bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    emp_no     text NOT NULL,
    ip         text,
    changed_at timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX cashier_password_change_emp ON cashier_password_change (emp_no, changed_at);
