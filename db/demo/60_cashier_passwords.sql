-- Sign-on passwords of the demo cashiers of 10_outlets.sql. The server keeps
-- only their hashes (the cashier table hashes a password given in clear).
--   9001 최지훈 (manager)  solbaram9001
--   1001 김하늘            sky1001
--   1002 이바다            sea1002
-- Only a cashier still on the first-use password (the cashier number) gets
-- one, so loading again keeps a password changed at a terminal.
UPDATE cashier AS c
   SET password = p.password
  FROM (VALUES ('9001', 'solbaram9001'), ('1001', 'sky1001'), ('1002', 'sea1002')) AS p (emp_no, password)
 WHERE c.emp_no = p.emp_no
   AND CASE WHEN c.password LIKE '$2%' THEN c.password = crypt(c.emp_no, c.password) ELSE false END;
