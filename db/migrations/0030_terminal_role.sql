-- The terminals may run their statements, not change the schema. The schema
-- belongs to the role that applies the migrations (the owner, pos_owner on
-- the local clusters); the terminals log in with roles that are members of
-- the group role pos_terminal, which gets what the statements need and no
-- more: the rows of the tables and views, the sequences, the procedures.
-- It gets no CREATE on the schema (nor on the database: CREATE on a database
-- is never given to PUBLIC, and no migration gives it).
--
-- The grants below cover what exists; the default privileges cover every
-- table, view, sequence and function the owner creates in later migrations,
-- so a new table is usable by the terminals without a grant of its own.

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'pos_terminal') THEN
        RAISE EXCEPTION 'the group role pos_terminal does not exist: create it before migrating (see db/README.md)';
    END IF;
    -- A terminal that owned the schema could drop it.
    IF current_user = 'pos_terminal' OR EXISTS (
        SELECT FROM pg_auth_members m
          JOIN pg_roles g ON g.oid = m.roleid
          JOIN pg_roles u ON u.oid = m.member
         WHERE g.rolname = 'pos_terminal' AND u.rolname = current_user) THEN
        RAISE EXCEPTION 'migrations run as the schema owner, not as a terminal role (%)', current_user;
    END IF;
END $$;

-- Databases made before PostgreSQL 15 let every role create in "public".
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO pos_terminal;

GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO pos_terminal;
GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO pos_terminal;
-- The schema's own functions; those of extensions (pgcrypto) belong to the
-- superuser and stay executable by PUBLIC, as PostgreSQL makes them.
DO $$
DECLARE
    f regprocedure;
BEGIN
    FOR f IN
        SELECT p.oid::regprocedure
          FROM pg_proc p
         WHERE p.pronamespace = 'public'::regnamespace
           AND p.proowner = (SELECT oid FROM pg_roles WHERE rolname = current_user)
    LOOP
        EXECUTE format('GRANT EXECUTE ON FUNCTION %s TO pos_terminal', f);
    END LOOP;
END $$;
-- The migrations' own bookkeeping is none of the terminal's business.
REVOKE ALL ON schema_version FROM pos_terminal;

ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO pos_terminal;
ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT USAGE ON SEQUENCES TO pos_terminal;
ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT EXECUTE ON FUNCTIONS TO pos_terminal;
